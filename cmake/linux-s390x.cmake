# 64-bit big-endian Linux (s390x): shipped as a Debian package and an RPM
# package; its byte order keeps the code free of assumptions about it.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(RADVAL_LINUX_TRIPLET s390x-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE s390x)
set(RADVAL_DEBIAN_ARCHITECTURE s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
