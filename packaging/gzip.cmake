# cmake -DIN=file -DOUT=file.gz -P gzip.cmake: compresses as Debian wants it
# (best, without the name and time stamp, so the package is reproducible), into
# a file beside OUT that is renamed over it only when gzip succeeded.
execute_process(COMMAND gzip -9 -n -c ${IN} OUTPUT_FILE ${OUT}.part RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${OUT}.part)
  message(FATAL_ERROR "gzip could not compress ${IN}: ${failed}")
endif()
file(RENAME ${OUT}.part ${OUT})
