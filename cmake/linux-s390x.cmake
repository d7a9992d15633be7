# 64-bit big-endian Linux (s390x): built and tested to keep the code free of
# byte-order assumptions; not shipped.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(RADVAL_LINUX_TRIPLET s390x-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE s390x)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
