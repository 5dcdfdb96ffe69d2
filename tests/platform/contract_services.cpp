// What the service operations promise, on both backends: a missing service reads as -1 and every
// change to it fails; an existing one reports and takes start types, found without regard to case.
// The simulated machine keeps start types in its service table only; Windows also stores them as
// "Start" below HKLM\SYSTEM\CurrentControlSet\Services, which the suite therefore never reads.
#include <gtest/gtest.h>

#include "platform/scene.h"
#include "platform/services.h"

namespace vx {
namespace {

constexpr const wchar_t* kService = L"VxContractSvc";

class ServicesContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    scene::removeService(kService);
  }
  void TearDown() override { scene::removeService(kService); }
};

TEST_F(ServicesContract, MissingServiceIsMinusOneAndRefusesChanges) {
  const wchar_t* missing = L"VxNoSuchService";
  EXPECT_FALSE(serviceExists(missing));
  EXPECT_EQ(serviceStartType(missing), -1);
  EXPECT_FALSE(setServiceStartType(missing, kServiceDisabled));
  EXPECT_FALSE(stopService(missing));
  EXPECT_FALSE(serviceExists(missing)) << "a failed change must not create the service";
}

TEST_F(ServicesContract, ExistingServiceReportsAndTakesStartTypes) {
  ASSERT_TRUE(scene::addService(kService, kServiceDemandStart));
  EXPECT_TRUE(serviceExists(kService));
  EXPECT_EQ(serviceStartType(kService), 3);

  for (const std::uint32_t startType : {kServiceDisabled, kServiceAutoStart, kServiceDemandStart}) {
    EXPECT_TRUE(setServiceStartType(kService, startType)) << startType;
    EXPECT_EQ(serviceStartType(kService), static_cast<int>(startType));
  }
}

TEST_F(ServicesContract, ServiceNamesIgnoreCase) {
  ASSERT_TRUE(scene::addService(kService, kServiceAutoStart));
  EXPECT_TRUE(serviceExists(L"vxcontractsvc"));
  EXPECT_EQ(serviceStartType(L"VXCONTRACTSVC"), 2);
  EXPECT_TRUE(setServiceStartType(L"vxCONTRACTsvc", kServiceDisabled));
  EXPECT_EQ(serviceStartType(kService), 4);
}

TEST_F(ServicesContract, StoppingAServiceThatIsNotRunningFails) {
  // A created service is not started; Windows answers ERROR_SERVICE_NOT_ACTIVE, and nothing
  // waits for a stop anyway.
  ASSERT_TRUE(scene::addService(kService, kServiceDemandStart));
  EXPECT_FALSE(stopService(kService));
  EXPECT_TRUE(serviceExists(kService));
}

}  // namespace
}  // namespace vx
