// (tests to come)
#include <gtest/gtest.h>
