// The saving loop over the simulated camera's memory and the real library: a stop request, a
// frame the camera cannot read and a file the system refuses each end the series with their own
// result, and the frames written before stay in a valid file.
#include "export/SequenceSaver.h"

#include "export/SavedFrameNotes.h"

#include "camera/CCamera.h"
#include "camera/CameraIds.h"
#include "platform/pictolib/PictoLibrary.h"
#include "platform/tessadrv/SimulatorApi.h"
#include "platform/tessadrv/TestPattern.h"
#include "tests/pictolib/TestFrames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

PictoLibrary* g_library = nullptr;

int PICTO_CALL WriteThroughLibrary(const char* name, int index, int type, const ImageInfo* info, int, int,
                                   const void* pixels, int count) {
  return g_library->WriteFile(name, index, type, info, pixels, count);
}

int PICTO_CALL SetTextThroughLibrary(const char* name, const char* description, const char* dateTime) {
  return g_library->SetFileText(name, description, dateTime);
}

int TESSA_CALL Ignore(TessaContext, int, int) { return 0; }

// Reads recorded frames through the camera device; stops after a given number of frames.
class CameraSteps : public SaveSteps {
 public:
  CameraSteps(CCamera& camera, std::uint32_t stopAfter) : camera_(camera), stopAfter_(stopAfter) {}
  bool Progress(std::uint32_t position, std::uint32_t) override {
    positions.push_back(position);
    return true;
  }
  int ReadFrame(std::uint32_t index) override { return camera_.ReadFrame(0, 0, int(index)); }
  const void* Pixels() override { return camera_.FrameBuffer(); }
  bool StopRequested() override { return ++done_ == stopAfter_; }
  std::vector<std::uint32_t> positions;

 private:
  CCamera& camera_;
  std::uint32_t stopAfter_;
  std::uint32_t done_ = 0;
};

class NotedSteps : public CameraSteps {
 public:
  NotedSteps(CCamera& camera, std::uint32_t stopAfter, SavedFrameNotes& notes)
      : CameraSteps(camera, stopAfter), notes_(notes) {}
  void BeforeWrite(const char* path, std::uint32_t inFile, std::uint32_t index) override {
    notes_.BeforeWrite(path, inFile, index);
  }
  void Written(const char* path, std::uint32_t inFile, std::uint32_t index) override {
    notes_.Written(path, inFile, index);
  }

 private:
  SavedFrameNotes& notes_;
};

class SequenceSaver : public ::testing::Test {
 protected:
  // A recording of 10 frames of 1280 x 1024 at 8 bits; reads of failSlot fail.
  void Record(int failSlot) {
    Simulator().SetConfigOverride("[Driver]\nTimeScale=100000\n[Camera0]\nFailReadSlot=" + std::to_string(failSlot) +
                                  "\n");
    CCameraHandle::Startup(api_, 0);
    ASSERT_EQ(camera_.Open(1), 0);
    ASSERT_NE(camera_.AllocFrameBuffer(1), 0u);
    ASSERT_EQ(camera_.StartRecording(0, 0, 10, 0, Ignore, 1, 0), 0);
    int active = 1, recorded = 0, trigger = 0, triggered = 0;
    while (active) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      camera_.GetRecordingStatus(&active, &recorded, &trigger, &triggered);
    }
  }
  void TearDown() override {
    camera_.FreeFrameBuffer();
    camera_.Close();
    CCameraHandle::Shutdown(api_);
    Simulator().ClearConfigOverride();
  }
  // With facts, the frames are described and logged as the view does it.
  SaveOutcome Save(const std::string& folder, std::uint32_t type, const char* ext, std::uint32_t stopAfter = 0,
                   const RecordingFacts* facts = nullptr) {
    const std::string prefix = "Img";
    const SaveJob job{folder.c_str(), prefix.c_str(), ext, type, 0, 1, 5, 25.0f, 1280, 1024, 8};
    PictoLibrary library;
    g_library = &library;
    const RecordingFacts none;
    SavedFrameNotes notes(facts ? *facts : none, job, SetTextThroughLibrary);
    if (facts) notes.StartLog();
    NotedSteps steps(camera_, stopAfter, notes);
    SaveOutcome outcome = SaveSequence(job, WriteThroughLibrary, steps);
    notes.Finish(outcome);
    positions_ = steps.positions;
    return outcome;
  }
  // Frame numbers stamped into the frames of a multipage raw file, as its header counts them.
  static std::vector<std::uint32_t> RawFileStamps(const std::string& path) {
    const std::vector<std::uint8_t> file = ReadWholeFile(path);
    std::vector<std::uint32_t> stamps;
    if (file.size() < 48) return stamps;
    std::uint32_t count = 0;
    std::memcpy(&count, file.data() + 28, 4);
    const std::size_t frameBytes = 1280 * 1024;
    const PatternGeometry g{0, 0, 1280, 1024, 8, 0};
    for (std::uint32_t i = 0; i < count && 48 + (i + 1) * frameBytes <= file.size(); ++i)
      stamps.push_back(ReadFrameStamp(file.data() + 48 + i * frameBytes, g));
    if (file.size() != 48 + count * frameBytes) stamps.push_back(~0u);  // trailing bytes
    return stamps;
  }

  const TessaDriverApi& api_ = SimulatorDriverApi();
  CCamera camera_{api_};
  ScratchFolder dir_;
  std::vector<std::uint32_t> positions_;
};

// The files saved into folder "out" of dir, by name. The system joins folder and name with a
// backslash, which natively is a character of the name, so there they lie in dir itself.
std::vector<std::string> SavedFiles(const ScratchFolder& dir) {
  std::vector<std::string> names;
#ifdef _WIN32
  for (const auto& e : std::filesystem::directory_iterator(dir.Path("out"))) names.push_back(e.path().filename().string());
#else
  for (const std::string& name : dir.Files())
    if (name.rfind("out\\", 0) == 0) names.push_back(name.substr(4));
#endif
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(SequenceSaver, StopsAtTheFirstFailureAndKeepsWhatWasWritten) {
  Record(3);
  struct Case {
    const char* what;
    std::uint32_t type;
    const char* ext;
    std::uint32_t stopAfter;
    int result, status;
    std::uint32_t written;
    const char* file;
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {"stop after 2 of 5 frames", 12, "mrf", 2, kSaveAborted, 0, 2, "Img.mrf", {"Img.mrf"}},
      {"failed read of frame 3", 12, "mrf", 0, kSaveReadFailed, 3, 3, "Img.mrf", {"Img.mrf"}},
      {"failed read, one file per frame", 1, "tif", 0, kSaveReadFailed, 3, 3, "Img003.tif",
       {"Img000.tif", "Img001.tif", "Img002.tif"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    const std::string folder = dir.Path("out");
    std::filesystem::create_directories(folder);
    const SaveOutcome outcome = Save(folder, c.type, c.ext, c.stopAfter);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.framesWritten, c.written);
    EXPECT_EQ(std::string(outcome.file), folder + "\\" + c.file);
    EXPECT_EQ(positions_.size(), std::size_t(c.written + (c.result == kSaveReadFailed ? 1 : 0)));
    EXPECT_EQ(SavedFiles(dir), c.files);
    if (c.type != 12) continue;
    std::vector<std::uint32_t> stamps;
    for (std::uint32_t i = 0; i < c.written; ++i) stamps.push_back(i);
    EXPECT_EQ(RawFileStamps(outcome.file), stamps) << "the frames written, each once";
  }
}

// The library refuses a frame: a folder that cannot be written, or (natively, through the
// process's file-size limit) a file system that fills up after two and a half frames.
TEST_F(SequenceSaver, RefusedWritesStopTheSeriesWithTheLibrarysStatus) {
  Record(-1);
  ScratchFolder dir;
  {
    std::ofstream notAFolder(dir.Path("file"));
  }
  const SaveOutcome blocked = Save(dir.Path("file/sub"), 12, "mrf");
  EXPECT_EQ(blocked.result, kSaveWriteFailed);
  EXPECT_EQ(blocked.status, kPictoOpenFailed);
  EXPECT_EQ(blocked.framesWritten, 0u);
  EXPECT_EQ(positions_.size(), 1u) << "the series ends at its first frame";
#ifndef _WIN32
  const std::string folder = dir.Path("out");
  SaveOutcome full;
  {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 48 + 1280 * 1024 * 5 / 2;
    setrlimit(RLIMIT_FSIZE, &limit);
    full = Save(folder, 12, "mrf");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
  }
  EXPECT_EQ(full.result, kSaveWriteFailed);
  EXPECT_EQ(full.status, kPictoWriteFailed);
  EXPECT_EQ(full.failedFrame, 2u);
  EXPECT_EQ(full.framesWritten, 2u);
  EXPECT_EQ(RawFileStamps(full.file), (std::vector<std::uint32_t>{0, 1}));
#endif
}

TEST(RecordingFacts, FramesAreCountedAndTimedFromTheTrigger) {
  struct Case {
    std::uint32_t mode, pre, rate, index;
    std::int64_t trigger;
    const char* seconds;
  };
  const Case cases[] = {
      {1, 50, 100000, 0, -50, "-0.0005"}, {1, 50, 100000, 42, -8, "-0.00008"}, {1, 50, 100000, 50, 0, "0"},
      {1, 50, 100000, 51, 1, "0.00001"},  {1, 0, 100, 7, 7, "0.07"},           {0, 50, 100, 7, 7, "0.07"},
      {0, 0, 3, 1, 1, "0.333333333"},     {1, 10, 0, 3, -7, "0"},
      {1, 4294967295u, 1, 0, -4294967295ll, "-4294967295"},
  };
  for (const Case& c : cases) {
    RecordingFacts f;
    f.recordMode = c.mode;
    f.preTriggerFrames = c.pre;
    f.rate = c.rate;
    EXPECT_EQ(TriggerIndex(f, c.index), c.trigger) << c.index;
    EXPECT_EQ(SecondsFromTrigger(f, c.index), c.seconds) << c.index;
  }
}

// Log rows as the files hold them, after a whole save and after saves stopped early.
TEST_F(SequenceSaver, FrameLogMatchesTheFramesWritten) {
  Record(-1);
  RecordingFacts facts;
  facts.recordMode = 1;
  facts.preTriggerFrames = 2;
  facts.rate = 100000;
  facts.exposureUs = 7;
  std::snprintf(facts.ended, sizeof facts.ended, "2026-12-09 11:04:41");
  const char* rows[] = {"Img000.tif,0,0,-2,-0.00002,7", "Img001.tif,0,1,-1,-0.00001,7", "Img002.tif,0,2,0,0,7",
                        "Img003.tif,0,3,1,0.00001,7", "Img004.tif,0,4,2,0.00002,7"};
  struct Case {
    std::uint32_t type;
    const char* ext;
    std::uint32_t stopAfter;
    const char* blocked;  // a folder where that file should go: the library refuses it
    int result;
    std::vector<std::string> log, files;
  };
  const Case cases[] = {
      {1, "tif", 0, nullptr, kSaveDone, {rows[0], rows[1], rows[2], rows[3], rows[4]},
       {"Img.csv", "Img000.tif", "Img001.tif", "Img002.tif", "Img003.tif", "Img004.tif"}},
      {1, "tif", 3, nullptr, kSaveAborted, {rows[0], rows[1], rows[2]},
       {"Img.csv", "Img000.tif", "Img001.tif", "Img002.tif"}},
      {1, "tif", 0, "Img002.tif", kSaveWriteFailed, {rows[0], rows[1]},
       {"Img.csv", "Img000.tif", "Img001.tif", "Img002.tif", "Img002.tif.part"}},
      {11, "mpt", 2, nullptr, kSaveAborted, {"Img.mpt,0,0,-2,-0.00002,7", "Img.mpt,1,1,-1,-0.00001,7"},
       {"Img.csv", "Img.mpt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ext) + " stopped after " + std::to_string(c.stopAfter) + (c.blocked ? ", blocked" : ""));
    ScratchFolder dir;
    const std::string folder = dir.Path("out");
    std::filesystem::create_directories(folder);
    if (c.blocked) std::filesystem::create_directories(folder + "\\" + c.blocked);
    const SaveOutcome outcome = Save(folder, c.type, c.ext, c.stopAfter, &facts);
    EXPECT_EQ(outcome.result, c.result);
    EXPECT_EQ(SavedFiles(dir), c.files);
    std::ifstream log(folder + "\\Img.csv", std::ios::binary);
    std::string line;
    std::getline(log, line);
    EXPECT_EQ(line, "file,frame_in_file,sequence_index,trigger_index,time_s,exposure_us\r");
    std::vector<std::string> got;
    while (std::getline(log, line)) got.push_back(line.substr(0, line.size() - 1));
    EXPECT_EQ(got, c.log);
    const std::string lastFile = c.log.back().substr(0, c.log.back().find(','));
    const std::vector<std::uint8_t> file = ReadWholeFile(folder + "\\" + lastFile);
    const std::string last = "trigger_frame=" + std::to_string(int(c.log.size()) - 3) + "\n";
    EXPECT_NE(std::search(file.begin(), file.end(), last.begin(), last.end()), file.end()) << "described: " << last;
  }
}

}  // namespace
