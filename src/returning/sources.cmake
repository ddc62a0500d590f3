list(APPEND SELVANE_SOURCES
  returning/PersonKey.cpp
  returning/ReturningGuestLookup.cpp
  returning/PresentTwiceCheck.cpp
  returning/ReturningGuestBar.cpp
)
