# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedText.cmake
# Writes a C++ source that defines `extern const unsigned char SYMBOL[]`, the file's
# bytes and a closing zero. Bytes, not a raw string literal: no text the file
# holds can end it, and no compiler's limit on literal length applies.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Made from ${INPUT} by EmbedText.cmake.\nextern const unsigned char ${SYMBOL}[];\nconst unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
