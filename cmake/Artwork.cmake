# Artwork is kept as SVG in res/art and rasterised at build time: each bitmap
# resource id gets a normal picture and a high-resolution one of twice the size.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
# Debian's ImageMagick 6; a plain "convert" earlier on PATH may be something else.
find_program(IM_CONVERT NAMES convert-im6.q16 convert REQUIRED)

set(ART_SOURCE_DIR ${PROJECT_SOURCE_DIR}/res/art)
set(ART_OUTPUT_DIR ${CMAKE_BINARY_DIR}/art)

# add_bitmap_art(<list variable> <svg name> <width> <height>)
# Makes art/<name>.bmp (width x height) and art/<name>_hi.bmp (doubled) as
# 24-bit bitmaps. Transparent parts become magenta, the transparency key;
# the alpha is made all-or-nothing first so no edge is tinted by the key.
function(add_bitmap_art outvar name width height)
  math(EXPR hiw "${width} * 2")
  math(EXPR hih "${height} * 2")
  set(svg ${ART_SOURCE_DIR}/${name}.svg)
  set(outputs)
  foreach(variant "${name};${width};${height}" "${name}_hi;${hiw};${hih}")
    list(GET variant 0 out)
    list(GET variant 1 w)
    list(GET variant 2 h)
    add_custom_command(
      OUTPUT ${ART_OUTPUT_DIR}/${out}.bmp
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_OUTPUT_DIR}
      COMMAND ${RSVG_CONVERT} -w ${w} -h ${h} -o ${ART_OUTPUT_DIR}/${out}.png ${svg}
      COMMAND ${IM_CONVERT} ${ART_OUTPUT_DIR}/${out}.png -channel A -threshold 50% +channel
              -background "#FF00FF" -flatten
              -type TrueColor BMP3:${ART_OUTPUT_DIR}/${out}.bmp
      DEPENDS ${svg}
      VERBATIM)
    list(APPEND outputs ${ART_OUTPUT_DIR}/${out}.bmp)
  endforeach()
  set(${outvar} ${${outvar}} ${outputs} PARENT_SCOPE)
endfunction()

# add_icon_art(<list variable> <svg name>): a program icon of 16, 32 and 48 pixels.
function(add_icon_art outvar name)
  set(svg ${ART_SOURCE_DIR}/${name}.svg)
  set(pngs)
  set(cmds)
  foreach(size 16 32 48)
    list(APPEND cmds COMMAND ${RSVG_CONVERT} -w ${size} -h ${size}
         -o ${ART_OUTPUT_DIR}/${name}_${size}.png ${svg})
    list(APPEND pngs ${ART_OUTPUT_DIR}/${name}_${size}.png)
  endforeach()
  add_custom_command(
    OUTPUT ${ART_OUTPUT_DIR}/${name}.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_OUTPUT_DIR}
    ${cmds}
    COMMAND ${IM_CONVERT} ${pngs} ${ART_OUTPUT_DIR}/${name}.ico
    DEPENDS ${svg}
    VERBATIM)
  set(${outvar} ${${outvar}} ${ART_OUTPUT_DIR}/${name}.ico PARENT_SCOPE)
endfunction()
