#pragma once
// A catalogue session in a temporary folder of its own, for the tests of
// the session's services: an empty data folder (each test writes its
// volumes as CD000001.DAT, CD000002.DAT, ...), the settings file
// DISKINDX.INI beside it and a home folder that is not the user's. It does
// not add volumes or settings; the tests do.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "diskindex/core/catalogue_session.h"
#include "diskindex/tests/test_files.h"

namespace diskindex::test {

class SessionFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    m_data = m_tmp / "data";
    std::filesystem::create_directories(m_data);
    m_env.settingsFile = m_tmp / "DISKINDX.INI";
    m_env.settings.dataHome = m_tmp / "home";
    m_env.settings.tempDir = m_tmp.path();
    m_env.dataDirectory = m_data;
  }
  // The name of the next volume data file in the data folder.
  std::filesystem::path nextDataFile() {
    return m_data / ("CD00000" + std::to_string(++m_files) + ".DAT");
  }
  // A session started over the folder, with no questions answered.
  std::unique_ptr<CatalogueSession> startSession() const {
    auto session = std::make_unique<CatalogueSession>(m_env);
    SessionObserver quiet;
    session->start(quiet);
    return session;
  }

  TempDir m_tmp;
  std::filesystem::path m_data;
  SessionEnvironment m_env;
  int m_files = 0;
};

}  // namespace diskindex::test
