# Embeds the program's version-information block into an executable.
function(quelvo_embed_version target)
endfunction()
