# cmake -DOUTPUT=lib.a -DAR=ar -DARCHIVES=a.a|b.a|... -P MergeArchives.cmake
# Writes one static library holding every member of the given ones, through ar's MRI script,
# which keeps members of the same name from different libraries apart.
string(REPLACE "|" ";" archives "${ARCHIVES}")
set(script "create ${OUTPUT}\n")
foreach(archive IN LISTS archives)
    string(APPEND script "addlib ${archive}\n")
endforeach()
string(APPEND script "save\nend\n")
file(REMOVE ${OUTPUT})
file(WRITE ${OUTPUT}.mri "${script}")
execute_process(COMMAND ${AR} -M INPUT_FILE ${OUTPUT}.mri COMMAND_ERROR_IS_FATAL ANY)
