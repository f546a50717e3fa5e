# Appends TEXT to FILE: the same program rebuilt, as far as an installer can
# tell, in other bytes that still run.
#   cmake -DFILE=x.exe -DTEXT=words -P append.cmake
file(APPEND ${FILE} ${TEXT})
