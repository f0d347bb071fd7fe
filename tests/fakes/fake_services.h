// Recording fakes of the platform services.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"

namespace fakes {

// Opens everything with success unless told that a target fails.
class FakeShell : public platform::Shell {
 public:
  std::intptr_t Open(const std::wstring& target) override {
    opened.push_back(target);
    auto it = results.find(target);
    return it == results.end() ? 42 : it->second;
  }
  std::vector<std::wstring> opened;
  std::map<std::wstring, std::intptr_t> results;  // target -> code
};

struct ShownMessage {
  std::wstring text;
  std::wstring title;
  unsigned style;
};

class FakeMessageBoxes : public platform::MessageBoxes {
 public:
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override {
    shown.push_back({text, title, style});
    return answer;
  }
  std::vector<ShownMessage> shown;
  int answer = 1;  // IDOK
};

class FakeEnvironment : public platform::Environment {
 public:
  std::wstring ProgramFolder() const override { return folder; }
  std::wstring folder = L"C:\\Tools\\Mirabelton";
};

// A hot-key service with one shared table of taken combinations, as the
// system has, so tests can make a key "held by another program".
class FakeHotKeyService : public platform::HotKeyService {
 public:
  struct Registration {
    int id;
    unsigned modifiers;
    unsigned key;
  };
  std::uint16_t AddAtom(const std::wstring&) override { return ++atomsHeld, 0xC123; }
  void DeleteAtom(std::uint16_t) override { --atomsHeld; }
  bool Register(int id, unsigned modifiers, unsigned key) override {
    ++registerCalls;
    for (auto [m, k] : taken) {
      if (m == modifiers && k == key) return false;
    }
    registered.push_back({id, modifiers, key});
    return true;
  }
  void Unregister(int id) override {
    std::erase_if(registered, [&](const Registration& r) { return r.id == id; });
  }
  std::vector<std::pair<unsigned, unsigned>> taken;  // (modifiers, key) held elsewhere
  int atomsHeld = 0;                                 // added less deleted
  int registerCalls = 0;
  std::vector<Registration> registered;
};

class FakeSettingsWindowHost : public platform::SettingsWindowHost {
 public:
  void ShowModal() override {
    ++shown;
    if (OnShow) OnShow();
  }
  std::function<void()> OnShow;
  int shown = 0;
};

class FakeStartupServices : public platform::StartupServices {
 public:
  bool ClaimSingleInstance() override {
    log.push_back("ClaimSingleInstance");
    return !anotherInstance;
  }
  int VersionMajor() const override { return major; }
  int VersionMinor() const override { return minor; }
  std::optional<platform::OsVersion> GetOsVersion() const override { return os; }
  std::wstring CommandLine() const override { return commandLine; }
  void CoInitialize() override { log.push_back("CoInitialize"); }
  void CoUninitialize() override { log.push_back("CoUninitialize"); }
  bool AttachShellCompletion() override {
    log.push_back("AttachShellCompletion");
    return true;
  }
  void BringToFront() override { log.push_back("BringToFront"); }
  void InstallSubclass() override { log.push_back("InstallSubclass"); }
  void RemoveSubclass() override { log.push_back("RemoveSubclass"); }

  bool anotherInstance = false;
  int major = 1;
  int minor = 0;
  std::optional<platform::OsVersion> os = platform::OsVersion{2, 10, 0};
  std::wstring commandLine;
  mutable std::vector<std::string> log;
};

}  // namespace fakes
