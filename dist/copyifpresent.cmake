# cmake -DSRC=<folder> -DDST=<folder> -P copyifpresent.cmake: copies SRC over DST when SRC exists.
if(IS_DIRECTORY "${SRC}")
  file(COPY "${SRC}/" DESTINATION "${DST}")
endif()
