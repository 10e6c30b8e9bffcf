# Writes PAGE to OUT with the style sheet STYLE in place of the line
# "<!-- style -->" of its head.
file(READ ${STYLE} style)
file(READ ${PAGE} page)
string(FIND "${page}" "<!-- style -->" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no <!-- style --> line")
endif()
string(REPLACE "<!-- style -->" "<style type=\"text/css\">\n${style}</style>" page "${page}")
file(WRITE ${OUT}.tmp "${page}")
file(RENAME ${OUT}.tmp ${OUT})
