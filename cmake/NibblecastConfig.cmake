# find_package(Nibblecast) gives the imported program Nibblecast::cli and the function
# nibblecast_add_header() (see NibblecastHeader.cmake).
include("${CMAKE_CURRENT_LIST_DIR}/NibblecastTargets.cmake")
include("${CMAKE_CURRENT_LIST_DIR}/NibblecastHeader.cmake")
