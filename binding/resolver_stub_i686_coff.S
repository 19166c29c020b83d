/* The first call of a plain forwarder on 32-bit x86 (cdecl, PE/COFF), and what a call of a host
   function that the module lacks returns. */

/* Entered by a jump from a plain forwarder whose entry is empty, with the entry's index pushed
   above the caller's return address and the arguments above that, all untouched. Saves eax, ecx
   and edx, realigns the stack to 16 bytes for the C++ resolver (the caller may only have kept 4),
   then puts the address it got in place of the index and returns into it: the host function starts
   with the caller's return address on top of the stack, exactly as if it had been called. */
	.text
	.p2align 4
	.globl _vantrelResolvePlainStub
	.def _vantrelResolvePlainStub; .scl 2; .type 32; .endef
_vantrelResolvePlainStub:
	.cfi_startproc
	.cfi_def_cfa_offset 8
	pushl %ebp
	.cfi_def_cfa_offset 12
	.cfi_offset %ebp, -12
	movl %esp, %ebp
	.cfi_def_cfa_register %ebp
	pushl %eax
	pushl %ecx
	pushl %edx
	andl $-16, %esp
	subl $12, %esp
	pushl 4(%ebp)
	call _vantrelResolvePlainForwarder
	movl %eax, 4(%ebp)
	movl -12(%ebp), %edx
	movl -8(%ebp), %ecx
	movl -4(%ebp), %eax
	leave
	.cfi_def_cfa %esp, 8
	.cfi_restore %ebp
	ret
	.cfi_endproc

/* Stand-ins for a host function the module lacks: return 0 or null in eax (edx:eax for a 64-bit
   result), and 0.0 on the x87 stack where the caller will pop a floating-point result. */
	.p2align 4
	.globl _vantrelZeroResult
	.def _vantrelZeroResult; .scl 2; .type 32; .endef
_vantrelZeroResult:
	.cfi_startproc
	xorl %eax, %eax
	xorl %edx, %edx
	ret
	.cfi_endproc

	.p2align 4
	.globl _vantrelFloatingZeroResult
	.def _vantrelFloatingZeroResult; .scl 2; .type 32; .endef
_vantrelFloatingZeroResult:
	.cfi_startproc
	fldz
	xorl %eax, %eax
	xorl %edx, %edx
	ret
	.cfi_endproc
