// The simulator's configuration: defaults, keys, clamps and the enumeration family rule.
#include "platform/tessadrv/SimulatorConfig.h"

#include <gtest/gtest.h>

TEST(SimulatorConfig, DefaultIsOneMonochromeKinetraE) {
  const SimDriverConfig config = DefaultDriverConfig();
  ASSERT_EQ(config.cameras.size(), 1u);
  const SimCameraConfig& c = config.cameras[0];
  EXPECT_EQ(c.model, 3);
  EXPECT_EQ(c.link, 0u);
  EXPECT_EQ(c.family, 0x01u);
  EXPECT_EQ(c.color, 0u);
  EXPECT_EQ(c.sensorWidth, 1280u);
  EXPECT_EQ(c.sensorHeight, 1024u);
  EXPECT_EQ(c.memoryBytes, 4096ull << 20);
  EXPECT_EQ(c.serial, 1234567890u);
  EXPECT_EQ(config.timeScale, 1.0);
}

TEST(SimulatorConfig, CameraCountIsClamped) {
  const struct { const char* text; std::size_t cameras; } rows[] = {
      {"", 1}, {"[Driver]\nCameras=0\n", 0}, {"[Driver]\nCameras=3\n", 3}, {"[Driver]\nCameras=11\n", 10},
      {"[Driver]\nCameras=-4\n", 0}, {"[Driver]\nCameras=lots\n", 1}};
  for (const auto& row : rows) EXPECT_EQ(DriverConfigFromIni(row.text).cameras.size(), row.cameras) << row.text;
}

TEST(SimulatorConfig, ReadsEveryCameraKey) {
  const SimDriverConfig config = DriverConfigFromIni(
      "[Driver]\nCameras=2\nTimeScale=250\n[Camera1]\nId=0x77\nModel=20\nVariant=3\nSubType=1\nSerial=4000000001\n"
      "Color=1\nLink=2\nFamily=0x04\nSensorWidth=640\nSensorHeight=480\nMemoryMB=16384\nRecordBase=4096\n"
      "MinPeriodNs=250000\nLiveWhileRecording=0\nFrameTableMode=1\nTriggerAfter=53\nFailOpen=1\n"
      "FailInitSettings=1\nFailApply=1\nGrabError=12\nGrabErrorAfter=4\nGrabStall=1\nFailReadSlot=7\n");
  ASSERT_EQ(config.cameras.size(), 2u);
  EXPECT_EQ(config.timeScale, 250.0);
  EXPECT_EQ(config.cameras[0].id, 1);
  EXPECT_EQ(config.cameras[0].serial, 1234567890u);
  const SimCameraConfig& c = config.cameras[1];
  EXPECT_EQ(c.id, 0x77);
  EXPECT_EQ(c.model, 20);
  EXPECT_EQ(c.variant, 3u);
  EXPECT_EQ(c.subType, 1u);
  EXPECT_EQ(c.serial, 4000000001u);
  EXPECT_EQ(c.color, 1u);
  EXPECT_EQ(c.link, 2u);
  EXPECT_EQ(c.family, 0x04u);
  EXPECT_EQ(c.sensorWidth, 640u);
  EXPECT_EQ(c.sensorHeight, 480u);
  EXPECT_EQ(c.memoryBytes, 16384ull << 20);
  EXPECT_EQ(c.recordBase, 4096u);
  EXPECT_EQ(c.minPeriodNs, 250000u);
  EXPECT_EQ(c.liveWhileRecording, 0u);
  EXPECT_EQ(c.frameTableMode, 1u);
  EXPECT_EQ(c.triggerAfter, 53u);
  EXPECT_TRUE(c.failOpen);
  EXPECT_TRUE(c.failInitSettings);
  EXPECT_TRUE(c.failApply);
  EXPECT_EQ(c.grabError, 12);
  EXPECT_EQ(c.grabErrorAfter, 4u);
  EXPECT_TRUE(c.grabStall);
  EXPECT_EQ(c.failReadSlot, 7);
  EXPECT_EQ(config.cameras[0].failReadSlot, -1);
}

TEST(SimulatorConfig, UnusableValuesKeepTheirDefaults) {
  const SimDriverConfig config = DriverConfigFromIni(
      "[Driver]\nTimeScale=0\n[Camera0]\nModel=-1\nLink=3\nColor=2\nSensorWidth=0\nSensorHeight=99999\n"
      "MemoryMB=x\nRecordBase=-1\nMinPeriodNs=0\nFailOpen=yes\nSerial=4294967296\n");
  const SimCameraConfig& c = config.cameras.at(0);
  const SimCameraConfig d;
  EXPECT_EQ(config.timeScale, 1.0);
  EXPECT_EQ(c.model, d.model);
  EXPECT_EQ(c.link, d.link);
  EXPECT_EQ(c.color, d.color);
  EXPECT_EQ(c.sensorWidth, d.sensorWidth);
  EXPECT_EQ(c.sensorHeight, d.sensorHeight);
  EXPECT_EQ(c.memoryBytes, d.memoryBytes);
  EXPECT_EQ(c.recordBase, d.recordBase);
  EXPECT_EQ(c.minPeriodNs, d.minPeriodNs);
  EXPECT_FALSE(c.failOpen);
  EXPECT_EQ(c.serial, d.serial);
}

TEST(SimulatorConfig, FamilyFollowsModelAndLink) {
  const struct { int model; unsigned link; unsigned family; } rows[] = {
      {0, 0, 0x01}, {5, 0, 0x01}, {3, 1, 0x02}, {3, 2, 0x02}, {9, 0, 0x10}, {10, 0, 0x10}, {11, 0, 0x10},
      {21, 0, 0x10}, {22, 0, 0x10}, {9, 1, 0x20}, {22, 2, 0x20}, {6, 0, 0x08}, {8, 2, 0x08}, {12, 0, 0x80},
      {20, 1, 0x80}, {7, 0, 0}, {23, 0, 0}, {-1, 0, 0}};
  for (const auto& row : rows) {
    EXPECT_EQ(DefaultFamily(row.model, row.link), row.family) << row.model << " on " << row.link;
  }
  EXPECT_EQ(DriverConfigFromIni("[Camera0]\nModel=10\nLink=1\n").cameras.at(0).family, 0x20u);
}

TEST(SimulatorConfig, RefusesCamerasNoDriverCouldReportAndReadsAByteOrderMark) {
  const struct { const char* text; std::size_t cameras; bool refused; } rows[] = {
      {"[Driver]\nCameras=2\n[Camera1]\nId=1\n", 0, true},
      {"[Driver]\nCameras=3\n[Camera0]\nId=9\n[Camera2]\nId=9\n", 0, true},
      {"[Driver]\nCameras=2\n[Camera1]\nId=3\n", 2, false},
      {"[Camera0]\nMemoryMB=16384\nRecordBase=0x100000000\n", 0, true},
      {"[Camera0]\nMemoryMB=16384\nRecordBase=0xFFFFF000\n", 1, false},
      {"[Camera0]\nMemoryMB=64\nRecordBase=0x10000000\n", 1, false},
      {"\xEF\xBB\xBF[Driver]\nCameras=2\n", 2, false}};
  for (const auto& row : rows) {
    const SimDriverConfig config = DriverConfigFromIni(row.text);
    EXPECT_EQ(config.cameras.size(), row.cameras) << row.text;
    EXPECT_EQ(!config.refusal.empty(), row.refused) << row.text;
  }
  EXPECT_EQ(DriverConfigFromIni("[Camera0]\nMemoryMB=16384\nRecordBase=0xFFFFF000\n")
                .cameras[0].recordBase, 0xFFFFF000u);
}
