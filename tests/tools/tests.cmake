# The installs of make test against stand-ins for apt-get and dpkg, as on a
# day when the package mirror is mid-sync.
add_test(NAME tools.install COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(tools.install PROPERTIES TIMEOUT 60)
