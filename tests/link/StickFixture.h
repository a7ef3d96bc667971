#pragma once
// The stick rig as a test fixture.

#include "StickRig.h"

#include <gtest/gtest.h>

namespace nolt::test {

class StickTest : public ::testing::Test, public StickRig {
protected:
    explicit StickTest(int inputLength = 64, int outputLength = 64) : StickRig(inputLength, outputLength) {}
};

} // namespace nolt::test
