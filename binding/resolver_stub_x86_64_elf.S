/* The first call of a plain forwarder on x86-64 (System V ABI, ELF), and what a call of a host
   function that the module lacks returns. */

	.hidden vantrelResolvePlainForwarder

/* Entered by a jump from a plain forwarder whose entry is empty, with the entry's index in r11 and
   the stack as the caller left it. Every register that can carry an argument is saved (the integer
   ones, r10, rax with the vector count of a variadic call, xmm0-7) while the C++ resolver runs on a
   16-byte aligned frame; the stack arguments above the return address are never touched. Then it
   restores them, drops its frame and leaves through r11 for the host function, which returns
   straight to the caller. */
	.text
	.p2align 4
	.globl vantrelResolvePlainStub
	.hidden vantrelResolvePlainStub
	.type vantrelResolvePlainStub, @function
vantrelResolvePlainStub:
	.cfi_startproc
	pushq %rbp
	.cfi_def_cfa_offset 16
	.cfi_offset %rbp, -16
	movq %rsp, %rbp
	.cfi_def_cfa_register %rbp
	subq $192, %rsp
	andq $-16, %rsp
	movq %rax, 0(%rsp)
	movq %rdi, 8(%rsp)
	movq %rsi, 16(%rsp)
	movq %rdx, 24(%rsp)
	movq %rcx, 32(%rsp)
	movq %r8, 40(%rsp)
	movq %r9, 48(%rsp)
	movq %r10, 56(%rsp)
	movaps %xmm0, 64(%rsp)
	movaps %xmm1, 80(%rsp)
	movaps %xmm2, 96(%rsp)
	movaps %xmm3, 112(%rsp)
	movaps %xmm4, 128(%rsp)
	movaps %xmm5, 144(%rsp)
	movaps %xmm6, 160(%rsp)
	movaps %xmm7, 176(%rsp)

	movl %r11d, %edi
	call vantrelResolvePlainForwarder
	movq %rax, %r11

	movaps 176(%rsp), %xmm7
	movaps 160(%rsp), %xmm6
	movaps 144(%rsp), %xmm5
	movaps 128(%rsp), %xmm4
	movaps 112(%rsp), %xmm3
	movaps 96(%rsp), %xmm2
	movaps 80(%rsp), %xmm1
	movaps 64(%rsp), %xmm0
	movq 56(%rsp), %r10
	movq 48(%rsp), %r9
	movq 40(%rsp), %r8
	movq 32(%rsp), %rcx
	movq 24(%rsp), %rdx
	movq 16(%rsp), %rsi
	movq 8(%rsp), %rdi
	movq 0(%rsp), %rax
	leave
	.cfi_def_cfa %rsp, 8
	.cfi_restore %rbp
	jmp *%r11
	.cfi_endproc
	.size vantrelResolvePlainStub, .-vantrelResolvePlainStub

/* Stand-ins for a host function the module lacks: return 0, null or 0.0 to the caller. */
	.p2align 4
	.globl vantrelZeroResult
	.hidden vantrelZeroResult
	.type vantrelZeroResult, @function
	.globl vantrelFloatingZeroResult
	.hidden vantrelFloatingZeroResult
	.type vantrelFloatingZeroResult, @function
vantrelZeroResult:
vantrelFloatingZeroResult:
	.cfi_startproc
	xorl %eax, %eax
	xorl %edx, %edx
	pxor %xmm0, %xmm0
	pxor %xmm1, %xmm1
	ret
	.cfi_endproc
	.size vantrelZeroResult, .-vantrelZeroResult
	.size vantrelFloatingZeroResult, .-vantrelFloatingZeroResult

	.section .note.GNU-stack,"",@progbits
