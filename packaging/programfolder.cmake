# Lays out the program folder of the build tree: cmake -DDIR=... -DSOURCE=... -DBANK_TOOL=... -P
# The pages are the program's own and follow the source. The bank with its pictures and system.ini
# are what a learner or a school works with: made when absent, never replaced by a rebuild.
file(MAKE_DIRECTORY ${DIR}/html)
file(COPY ${SOURCE}/content/html/ DESTINATION ${DIR}/html)
if(NOT EXISTS ${DIR}/system.ini)
  file(COPY ${SOURCE}/content/system.ini DESTINATION ${DIR})
endif()
if(NOT EXISTS ${DIR}/data.db)
  message(STATUS "Building the sample question bank into ${DIR}")
  # The tool takes the bank's pictures along into upload/.
  execute_process(COMMAND ${BANK_TOOL} import ${SOURCE}/bank ${DIR}/data.db COMMAND_ERROR_IS_FATAL ANY)
endif()
