# SPDX-License-Identifier: GPL-3.0-or-later
# Typesets one lab document: XeLaTeX runs in its own work folder until its
# cross-references settle (at most three runs), and the PDF then replaces
# OUTPUT in one step, so a failed run never leaves a half-written document.
#   cmake -DXELATEX=... -DSOURCE=doc.tex -DWORK=dir -DINPUTS=dir/ -DGENERATED=dir/ -DOUTPUT=x.pdf -P typeset.cmake
file(MAKE_DIRECTORY ${WORK})
get_filename_component(job ${SOURCE} NAME_WE)
# The class and shared parts, then the pictures and numbers the build made;
# the trailing separator keeps TeX's own folders.
set(ENV{TEXINPUTS} "${INPUTS}:${GENERATED}:")
foreach(run 1 2 3)
  execute_process(
    COMMAND ${XELATEX} -interaction=nonstopmode -halt-on-error -file-line-error
            -output-directory=${WORK} ${SOURCE}
    WORKING_DIRECTORY ${WORK}
    OUTPUT_VARIABLE log ERROR_VARIABLE log
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    string(LENGTH "${log}" length)
    math(EXPR from "${length} - 3000")
    if(from LESS 0)
      set(from 0)
    endif()
    string(SUBSTRING "${log}" ${from} -1 tail)
    message(FATAL_ERROR "xelatex failed on ${SOURCE}:\n${tail}")
  endif()
  file(READ ${WORK}/${job}.log texlog)
  if(NOT texlog MATCHES "Rerun to get|Label\\(s\\) may have changed")
    break()
  endif()
endforeach()
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(COPY_FILE ${WORK}/${job}.pdf ${OUTPUT}.part)
file(RENAME ${OUTPUT}.part ${OUTPUT})
