" Vim syntax file
" Language:	Pladdo profile (*.ppf), a bot for the Pladdo chatbot
"
" A profile is read line by line. A "#" anywhere starts a comment; a line
" that begins with "#>" is a sample input for the pattern row below it.
" After leading blanks the first character decides the row: "[" a block
" header, "?" a pattern row, "!" an answer row. Answer rows hold variables
" from one "%" to the next. The [INFO] block holds key rows (name=, ...); in
" any other block a row of another kind is a fault, and so is text after a
" header's "]".

if exists("b:current_syntax")
  finish
endif

let s:cpo_save = &cpo
set cpo&vim

syn case match

" Comments, and the samples that the checker runs against the pattern rows.
syn match ppfComment /#.*/ contains=@Spell
syn match ppfSample /^\s*\zs#>.*/

" A pattern row: "*" and "?" after the leading "?" are wildcards.
syn region ppfPattern matchgroup=ppfPattern start=/^\s*\zs?/ end=/\ze#\|$/
      \ oneline contains=ppfWildcard
syn match ppfWildcard /[*?]/ contained

" An answer row and its variables. The variables are taken from left to
" right, each from one "%" to the next, as the answer is expanded; a lone
" "%" is plain text. A "@" right after the opening "%" or after the "|" of
" a file variable makes the value's first letter a capital.
syn region ppfAnswer matchgroup=ppfAnswer start=/^\s*\zs!/ end=/\ze#\|$/
      \ oneline contains=ppfBlockVar,ppfFileVar,ppfBuiltinVar,@Spell
syn match ppfBlockVar /%[^%#]*%/ contained contains=ppfCapital
syn match ppfFileVar /%[^%#|]*|[^%#]*%/ contained contains=ppfCapital
syn match ppfBuiltinVar /%@\=\%(NAME_USER\|NAME_PLADDO\|FE\|SYS_TIME_\%(HH\|H\|MM\|M\|SS\|S\)\|SYS_DATE_\%(YYYY\|YY\|MM\|M\|DD\|D\)\)%/
      \ contained contains=ppfCapital
syn match ppfBuiltinVar /%%/ contained
syn match ppfCapital /\%(%\||\)\@1<=@/ contained

" A "[" without its "]": the reader finds no block there.
syn match ppfBadHeader /^\s*\zs\[[^\]#]\{-}\ze\s*\%(#\|$\)/

" Text after a header's "]": the reader ignores it, the checker reports it.
syn match ppfHeaderRest /\%(^\s*\[[^\]#]*\]\s*\)\@<=[^#[:space:]]\%([^#]*[^#[:space:]]\)\=/
      \ contained

" In the [INFO] block the rows are keys and their values.
syn match ppfInfoKey /^\s*\zs\c\%(name\|version\|creator\|info\|language\)=/
      \ contained

" Any other row of an ordinary block is a fault.
syn match ppfIllegal /^\s*\zs[^?!\[#[:space:]]\%([^#]*[^#[:space:]]\)\=/
      \ contained

" Blocks run from their header to the next header. Rows before the first
" header belong to none.
syn cluster ppfRows contains=ppfComment,ppfSample,ppfPattern,ppfAnswer,ppfBadHeader,ppfHeaderRest
syn region ppfBlock matchgroup=ppfHeader start=/^\s*\zs\[[^\]#]*\]/
      \ end=/^\ze\s*\[[^\]#]*\]/ contains=@ppfRows,ppfIllegal
syn region ppfInfoBlock matchgroup=ppfHeader start=/^\s*\zs\c\[INFO\]/
      \ end=/^\ze\s*\[[^\]#]*\]/ contains=@ppfRows,ppfInfoKey

" Which block a row belongs to depends on the header above it, so the
" highlighting starts at the top of the file; profiles are short.
syn sync fromstart

" Linked so that the six kinds of text (headers, patterns, answers,
" variables, comments, samples) end in six different highlight groups, and
" so do the three kinds of variable: a file variable is underlined, as it
" points into another file.
hi def link ppfHeader     Statement
hi def link ppfHeaderRest Error
hi def link ppfBadHeader  Error
hi def link ppfIllegal    Error
hi def link ppfInfoKey    Label
hi def link ppfPattern    Type
hi def link ppfWildcard   SpecialChar
hi def link ppfAnswer     String
hi def link ppfBuiltinVar Identifier
hi def link ppfBlockVar   Macro
hi def link ppfFileVar    Underlined
hi def link ppfCapital    Delimiter
hi def link ppfComment    Comment
hi def link ppfSample     SpecialComment

let b:current_syntax = "ppf"

let &cpo = s:cpo_save
unlet s:cpo_save
