# Run by CPack before it writes the package: the packages of earlier versions are removed
# from beside it, so that the one package file there is the build's own.
file(GLOB anteriores "${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_NAME}_*.deb")
if(anteriores)
    file(REMOVE ${anteriores})
endif()
