/* Overwrites every register a call may clobber on x86-64 (System V): the probe module's lookups
   run this first, so a forwarder whose resolver failed to keep an argument register shows it. */
	.text
	.p2align 4
	.globl vantrelScrambleCallerSavedRegisters
	.hidden vantrelScrambleCallerSavedRegisters
	.type vantrelScrambleCallerSavedRegisters, @function
vantrelScrambleCallerSavedRegisters:
	.cfi_startproc
	movabsq $0x5C5C5C5CA3A3A3A3, %rax
	movq %rax, %rcx
	movq %rax, %rdx
	movq %rax, %rsi
	movq %rax, %rdi
	movq %rax, %r8
	movq %rax, %r9
	movq %rax, %r10
	movq %rax, %r11
	movq %rax, %xmm0
	punpcklqdq %xmm0, %xmm0
	movdqa %xmm0, %xmm1
	movdqa %xmm0, %xmm2
	movdqa %xmm0, %xmm3
	movdqa %xmm0, %xmm4
	movdqa %xmm0, %xmm5
	movdqa %xmm0, %xmm6
	movdqa %xmm0, %xmm7
	movdqa %xmm0, %xmm8
	movdqa %xmm0, %xmm9
	movdqa %xmm0, %xmm10
	movdqa %xmm0, %xmm11
	movdqa %xmm0, %xmm12
	movdqa %xmm0, %xmm13
	movdqa %xmm0, %xmm14
	movdqa %xmm0, %xmm15
	xorl %eax, %eax
	ret
	.cfi_endproc
	.size vantrelScrambleCallerSavedRegisters, .-vantrelScrambleCallerSavedRegisters

	.section .note.GNU-stack,"",@progbits
