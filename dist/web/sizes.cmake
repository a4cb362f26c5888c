# Writes sizes.json: the byte size of each file the page downloads before the
# first frame, so its progress bar knows the whole even when the server
# compresses them. Run with -DDIR=<build folder> -DFILES=a,b
string(REPLACE "," ";" FILES "${FILES}")
set(json "{")
set(sep "")
foreach(name ${FILES})
  file(SIZE "${DIR}/${name}" size)
  string(APPEND json "${sep}\"${name}\": ${size}")
  set(sep ", ")
endforeach()
file(WRITE "${DIR}/sizes.json" "${json}}\n")
