// The PaintChip container tests run with the module registered for the whole program.
#include <gtest/gtest.h>

#include "control_fixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new pctest::RegisteredModule);
  return RUN_ALL_TESTS();
}
