" Tarn's editor profile: makes the keys Tarn sends for touches meaningful to
" vim under TERM=vt102, and tells Tarn when vim's mouse is on.
"
" Installed as a plugin under $VIM/vimfiles/plugin/, so your own ~/.vimrc stays
" yours and is read first. To keep your own choices, set them in ~/.vimrc;
" to turn this profile off entirely, put  let g:loaded_tarn = 1  there.
if exists('g:loaded_tarn') || $TERM !=# 'vt102'
  finish
endif
let g:loaded_tarn = 1

let s:save_cpo = &cpo
set cpo&vim

" No cursor position probe: its answer would arrive as typed text while a
" command run from vim echoes its input.
set t_u7=

" Taps on the upper, lower, right and left part of the text: ESC [ O A..D.
" The keyboard's cursor keys send what a VT102's send, which vim knows.
execute "set <xUp>=\e[OA"
execute "set <xDown>=\e[OB"
execute "set <xRight>=\e[OC"
execute "set <xLeft>=\e[OD"

" Long swipes page: down goes back a page, up goes forward. The keyboard's
" page keys send the same.
execute "set <PageUp>=\e[5~"
execute "set <PageDown>=\e[6~"

" The keyboard's home and end keys.
execute "set <Home>=\e[1~"
execute "set <End>=\e[4~"

" Short swipes scroll a few lines: ESC [ 1 9 ~ (down) and ESC [ 2 0 ~ (up).
execute "set <F8>=\e[19~"
execute "set <F9>=\e[20~"
let g:tarn_scroll_lines = get(g:, 'tarn_scroll_lines', 5)
nnoremap <silent> <F8> :<C-U>execute 'normal! ' . g:tarn_scroll_lines . "\<lt>C-Y>"<CR>
nnoremap <silent> <F9> :<C-U>execute 'normal! ' . g:tarn_scroll_lines . "\<lt>C-E>"<CR>
inoremap <silent> <F8> <C-O>:execute 'normal! ' . g:tarn_scroll_lines . "\<lt>C-Y>"<CR>
inoremap <silent> <F9> <C-O>:execute 'normal! ' . g:tarn_scroll_lines . "\<lt>C-E>"<CR>

" Mouse reports: ESC M S, then the button, column and row bytes as xterm sends
" them after its own leader. The netterm setting parses them the same way but,
" unlike xterm's, sends no switch-on sequence for Tarn to show as text.
silent! set ttymouse=netterm
execute "set <Mouse>=\eMS"
if &mouse ==# ''
  set mouse=a
endif

" Each SIGUSR2 flips whether Tarn sends mouse reports; send one whenever vim's
" mouse goes from off to on or back.
let s:tarn_mouse = 0
function! s:TellTarn() abort
  let l:on = &mouse !=# ''
  if l:on == s:tarn_mouse
    return
  endif
  let s:tarn_mouse = l:on
  let l:stat = readfile('/proc/' . getpid() . '/stat')
  if empty(l:stat)
    return
  endif
  " The parent's pid is the second field after the command name in parentheses.
  let l:parent = split(matchstr(l:stat[0], ')\s\+\zs.*'))[1]
  call system('kill -USR2 ' . l:parent)
endfunction

augroup tarn
  autocmd!
  autocmd VimEnter * call s:TellTarn()
  autocmd OptionSet mouse call s:TellTarn()
augroup END

let &cpo = s:save_cpo
unlet s:save_cpo
