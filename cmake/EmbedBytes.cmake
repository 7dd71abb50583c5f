# Writes the bytes of SOURCE into OUTPUT as the elements of a C++ array
# initializer, so a data file is compiled into the program at build time:
#   cmake -DSOURCE=file -DOUTPUT=file.inc -P EmbedBytes.cmake
file(READ ${SOURCE} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," elements "${bytes}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       elements "${elements}")
file(WRITE ${OUTPUT} "${elements}\n")
