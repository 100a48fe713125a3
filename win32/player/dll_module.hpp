// K60418.dll as the training player hosts it on Windows: created by its ProgID, asked for
// AbstractModule, and every host call made through that interface's vtable, with the host's own
// variables (the PowerPoint Application as an IDispatch, the main window's handle) passed in and
// out. Errors come back as the host reads them: number, source and description from the
// component's error information.
//
// Everything runs on the caller's single-threaded apartment, which the caller has initialised.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "player/hosted_module.hpp"

struct AbstractModule;

namespace win32 {

/// The ProgID the training player creates the module by.
inline constexpr std::string_view kModuleProgId = "K60418.Module";

class DllModule : public player::HostedModule {
 public:
  /// Creates the module (in process) by its ProgID. Raises error 429 (source "k60418") when the
  /// class is not registered or cannot be created, and 430 when it does not implement
  /// AbstractModule.
  explicit DllModule(std::string_view prog_id = kModuleProgId);
  ~DllModule() override;
  DllModule(const DllModule&) = delete;
  DllModule& operator=(const DllModule&) = delete;

  // --- host::AbstractModule, each member one call through the interface's vtable ---------------
  bool BravoNuance() override;
  std::shared_ptr<host::ComplementInfo> Complement() override;
  std::string CauseErreur() override;
  bool ErreurGenerale() override;
  void Fermer() override;
  void InitQuestion(std::int32_t ilQuestion, const std::string& isPathDossier,
                    ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel,
                    std::optional<std::string> isPathModele = std::nullopt) override;
  void Quitter(ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel) override;
  void TestePoint() override;

  // --- What the player reads beside it ------------------------------------------------------
  vb::ObjectRef HeldApplication() override;
  std::string TemplateFolder() override;

 private:
  /// Raises the component's error for a failed call (nothing for success).
  void Check(long hr);

  ::AbstractModule* module_ = nullptr;
  vb::ObjectRef held_;
  std::string template_folder_;
};

}  // namespace win32
