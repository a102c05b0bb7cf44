# Where an installed program keeps its files: the GNU layout under the prefix, the data files
# in a folder named after the program's reverse-DNS id (the id of its desktop entry, its
# AppStream data and its icon).
include(GNUInstallDirs)
set(QUORVEL_APP_ID com.marvane.Quorvel)
set(QUORVEL_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/${QUORVEL_APP_ID})
set(QUORVEL_LANGUAGE_INSTALL_DIR ${QUORVEL_DATA_INSTALL_DIR}/lang)

# The program looks for its language files relative to its own folder, so that an installation
# works under any prefix and unpacked anywhere.
file(RELATIVE_PATH quorvel_language_folder_from_program
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${QUORVEL_LANGUAGE_INSTALL_DIR})
add_compile_definitions(QUORVEL_APP_ID="${QUORVEL_APP_ID}"
                        QUORVEL_LANGUAGE_FOLDER_FROM_PROGRAM="${quorvel_language_folder_from_program}")
