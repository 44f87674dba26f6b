// Self-registration order with steps that fail on cue: no class is left half-written, and the categories
// neither stop the classes nor hide a failure.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "paintchip/registration_order.h"

namespace paintchip {
namespace {

struct Case {
  bool doRegister;
  std::set<std::string> failing;
  std::vector<std::string> wantSteps;
  long wantAnswer;
};

class Steps {
 public:
  explicit Steps(const std::set<std::string>& failing) : failing_(failing) {}
  RegStep Step(const std::string& name) {
    return [this, name] {
      taken.push_back(name);
      // Each failing step answers an error of its own, so the answer tells which failed.
      return failing_.count(name) ? -1000 - long(taken.size()) : 0;
    };
  }
  std::vector<std::string> taken;

 private:
  std::set<std::string> failing_;
};

TEST(RegistrationOrder, ClassesWholeOrNotAtAllAndTheFirstFailureAnswered) {
  const Case cases[] = {
      {true, {}, {"+control", "+page", "+categories"}, 0},
      {true, {"+page"}, {"+control", "+page", "-page", "-control"}, -1002},
      {true, {"+control"}, {"+control", "-control"}, -1001},
      {true, {"+categories"}, {"+control", "+page", "+categories"}, -1003},
      {false, {"-categories"}, {"-control", "-page", "-categories"}, -1003},
      {false, {"-control", "-categories"}, {"-control", "-page", "-categories"}, -1001},
  };
  for (const Case& c : cases) {
    Steps steps(c.failing);
    const std::vector<ClassRegistration> classes = {{steps.Step("+control"), steps.Step("-control")},
                                                    {steps.Step("+page"), steps.Step("-page")}};
    const long answer = c.doRegister ? RegisterClasses(classes, steps.Step("+categories"))
                                     : UnregisterClasses(classes, steps.Step("-categories"));
    const std::string what = ::testing::PrintToString(c.failing);
    EXPECT_EQ(steps.taken, c.wantSteps) << what;
    EXPECT_EQ(answer, c.wantAnswer) << what;
  }
}

}  // namespace
}  // namespace paintchip
