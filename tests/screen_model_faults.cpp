// In the unit tests, whatever the screen model refuses fails the test.
#include <gtest/gtest.h>

#include "screen_model.h"

namespace radval::testing {

void report_model_fault(const std::string& what)
{
    ADD_FAILURE() << what;
}

}  // namespace radval::testing
