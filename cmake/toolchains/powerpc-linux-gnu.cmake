# 32-bit big-endian PowerPC Linux with Debian's cross compilers. The programs the build makes run
# under user-mode qemu, which finds the target's loader and libraries in the cross sysroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)

set(VANTREL_CROSS_SYSROOT /usr/powerpc-linux-gnu)
set(CMAKE_C_COMPILER powerpc-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc-linux-gnu-g++)
set(CMAKE_ASM_COMPILER powerpc-linux-gnu-gcc)

set(CMAKE_FIND_ROOT_PATH ${VANTREL_CROSS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc -L ${VANTREL_CROSS_SYSROOT})

# The plug-in's object format, checked by the tests: 32-bit big-endian PowerPC ELF.
set(VANTREL_OBJECT_FORMAT elf32-powerpc)
