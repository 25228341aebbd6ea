" Pladdo profiles: the bots of the Pladdo chatbot.
autocmd BufNewFile,BufRead *.ppf setfiletype ppf
