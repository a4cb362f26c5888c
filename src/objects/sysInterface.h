#pragma once
// The bundle of shared services handed to every module and screen.
#include <cstdint>
#include <memory>
#include <string>

class TsysMainWindow;
class TsysEventHandler;
class TsysResources;
class TsysObjects;

class TsysInterface {
 public:
  // Creates the resources object (which reads settings, profiles and scores) and
  // then the object manager. dataFolder defaults to dataPath + "data/", and an
  // empty saveFolder lets the resources choose one.
  TsysInterface(TsysMainWindow* owner, TsysEventHandler* events, std::string dataPath, std::string dataFolder = {},
                std::string saveFolder = {});
  // Frees the object manager, then the resources.
  ~TsysInterface();
  TsysInterface(const TsysInterface&) = delete;
  TsysInterface& operator=(const TsysInterface&) = delete;

  TsysMainWindow* Owner;
  TsysEventHandler* Events;
  std::unique_ptr<TsysResources> Resources;
  std::unique_ptr<TsysObjects> Objects;
  std::int32_t FrameRate = 0;
  std::string DataPath;    // the program folder
  std::string DataFolder;  // the archives and effect banks, '/'-ended
};
