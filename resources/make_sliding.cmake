# Makes the sliding-bearing variant of a preview drawing from its ordinary drawing.
#
# Every drawing that has a sliding variant carries its sliding layer (the blue layer under the
# pad) as a hidden group:  <g id="sliding-layer" display="none">  ...  </g>
# The variant is the same file with that one group shown, so both pictures always share every
# other line. Usage: cmake -DIN=<ordinary.svg> -DOUT=<sliding.svg> -P make_sliding.cmake
if(NOT IN OR NOT OUT)
    message(FATAL_ERROR "make_sliding.cmake: pass -DIN=<ordinary.svg> -DOUT=<sliding.svg>")
endif()
file(READ "${IN}" svg)
set(hidden "<g id=\"sliding-layer\" display=\"none\">")
string(FIND "${svg}" "${hidden}" first)
if(first EQUAL -1)
    message(FATAL_ERROR "make_sliding.cmake: ${IN} has no hidden sliding layer (${hidden})")
endif()
string(REPLACE "${hidden}" "<g id=\"sliding-layer\">" sliding "${svg}")
file(WRITE "${OUT}.tmp" "${sliding}")
file(RENAME "${OUT}.tmp" "${OUT}")
