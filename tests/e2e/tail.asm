; Writes its DOS command tail (the bytes after the program's name, as counted at PSP:80h) to
; TAIL.TXT in the current folder, then ends. Assembled twice: plain, it is a headerless program
; image loaded at offset 100h; with -DMZ it carries a minimal MZ executable header instead.
bits 16
%ifdef MZ
        org 0
%define AT(label) (label - code)
header:
        db 'MZ'
        dw file_size % 512              ; bytes in the last 512-byte page
        dw (file_size + 511) / 512      ; pages in the file, header included
        dw 0                            ; no relocations
        dw (code - header) / 16         ; header size in paragraphs
        dw 32                           ; extra paragraphs needed: room for the stack
        dw 0xFFFF                       ; extra paragraphs wanted
        dw 0                            ; SS, relative to the program's segment
        dw 0x200                        ; SP
        dw 0                            ; checksum
        dw 0                            ; IP
        dw 0                            ; CS, relative to the program's segment
        dw 0x40                         ; relocation table offset (empty)
        dw 0                            ; overlay number
        times 0x3C - ($ - header) db 0
        dd 0                            ; no newer header follows
%else
        org 0x100
%define AT(label) (label - code + 0x100)
%endif
code:
        ; DS and ES hold the program segment prefix on entry; the file name lives beside the code.
        push cs
        pop ds
        mov dx, AT(name)
        xor cx, cx
        mov ah, 0x3C                    ; create TAIL.TXT
        int 0x21
        jc fail
        mov bx, ax
        push es
        pop ds
        xor cx, cx
        mov cl, [0x80]                  ; the tail's length
        mov dx, 0x81                    ; the tail itself
        mov ah, 0x40
        int 0x21
        jc fail
        mov ah, 0x3E
        int 0x21
        mov ax, 0x4C00
        int 0x21
fail:
        mov ax, 0x4C01
        int 0x21
name:   db 'TAIL.TXT', 0
file_size equ $ - $$
