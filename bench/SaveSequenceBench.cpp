// Saving end to end as the view does it: 500 recorded frames of 1280 x 1024 read one by one from
// the simulated camera's memory, each described relative to the trigger, and written through the
// image-file library, against a plain
// write of the same bytes into as many new files: into the page cache, and until the files are on
// the disk. Run with scripts/bench.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/RecordedFrames.h"
#include "bench/SaveBenchCases.h"
#include "camera/CCamera.h"
#include "camera/CameraIds.h"
#include "export/SavedFrameNotes.h"
#include "export/SequenceSaver.h"
#include "platform/pictolib/PictoLibrary.h"
#include "platform/tessadrv/SimulatorApi.h"

namespace {

PictoLibrary* g_library = nullptr;

int PICTO_CALL WriteThroughLibrary(const char* name, int index, int type, const ImageInfo* info, int, int,
                                   const void* pixels, int count) {
  return g_library->WriteFile(name, index, type, info, pixels, count);
}

int PICTO_CALL SetTextThroughLibrary(const char* name, const char* description, const char* dateTime) {
  return g_library->SetFileText(name, description, dateTime);
}

// Waits until every file under root is on the disk.
void SyncFiles(const std::filesystem::path& root) {
  for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const int fd = open(e.path().c_str(), O_RDONLY);
    if (fd >= 0) {
      fsync(fd);
      close(fd);
    }
  }
}

class CameraSteps : public SaveSteps {
 public:
  CameraSteps(CCamera& camera, SavedFrameNotes& notes) : camera_(camera), notes_(notes) {}
  bool Progress(std::uint32_t, std::uint32_t) override { return true; }
  int ReadFrame(std::uint32_t index) override { return camera_.ReadFrame(0, 0, int(index)); }
  const void* Pixels() override { return camera_.FrameBuffer(); }
  bool StopRequested() override { return false; }
  void BeforeWrite(const char* path, std::uint32_t inFile, std::uint32_t index) override {
    notes_.BeforeWrite(path, inFile, index);
  }

 private:
  CCamera& camera_;
  SavedFrameNotes& notes_;
};

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "selvar-save-bench";
  Simulator().SetConfigOverride("[Driver]\nTimeScale=100000\n");
  const TessaDriverApi& api = SimulatorDriverApi();
  CCameraHandle::Startup(api, 0);
  CCamera camera(api);
  if (camera.Open(1) != 0 || camera.AllocFrameBuffer(2) == 0) return 1;
  PictoLibrary library;
  g_library = &library;
  CodecInfo uncompressed{};
  library.SetCodec(kTypeAvi, &uncompressed);
  RecordingFacts facts;
  std::snprintf(facts.camera, sizeof facts.camera, "Kinetra KW/E3");
  facts.rate = 100000;
  facts.recordMode = 1;
  facts.preTriggerFrames = kSaveBenchFrames / 2;
  std::snprintf(facts.ended, sizeof facts.ended, "2026-12-09 11:04:41");
  for (const SaveBenchCase& c : kSaveBenchCases) {
    RecordFrames(camera, c.depth, kSaveBenchWidth, kSaveBenchHeight, kSaveBenchFrames);
    const std::string folder = (dir / "ours").string(), plain = (dir / "plain").string();
    const auto save = [&] {
      const SaveJob job{folder.c_str(), "Img", c.extension, c.fileType, 0, 1, kSaveBenchFrames, 25.0f,
                        kSaveBenchWidth, kSaveBenchHeight, c.depth};
      SavedFrameNotes notes(facts, job, SetTextThroughLibrary);
      CameraSteps steps(camera, notes);
      return SaveSequence(job, WriteThroughLibrary, steps).result;
    };
    ReportSave(c, MeasureSave(c, folder, plain, save), "");
    ReportSave(c, MeasureSave(c, folder, plain, save, SyncFiles), "_to_disk");
  }
  camera.FreeFrameBuffer();
  camera.Close();
  CCameraHandle::Shutdown(api);
  fs::remove_all(dir);
  return 0;
}
