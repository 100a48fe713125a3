// The module linked into the player: the core's Module, on the ports of the desktop it is given.
#pragma once

#include "module/module.hpp"
#include "player/hosted_module.hpp"

namespace player {

class InProcessModule final : public HostedModule {
 public:
  explicit InProcessModule(const platform::Platform& platform) : module_(platform) {}

  k60418::Module& module() { return module_; }

  bool BravoNuance() override { return module_.BravoNuance(); }
  std::shared_ptr<host::ComplementInfo> Complement() override { return module_.Complement(); }
  std::string CauseErreur() override { return module_.CauseErreur(); }
  bool ErreurGenerale() override { return module_.ErreurGenerale(); }
  void Fermer() override { module_.Fermer(); }
  void InitQuestion(std::int32_t ilQuestion, const std::string& isPathDossier,
                    ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel,
                    std::optional<std::string> isPathModele) override {
    module_.InitQuestion(ilQuestion, isPathDossier, ioApplication, ioHandleLogiciel, std::move(isPathModele));
  }
  void Quitter(ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel) override {
    module_.Quitter(ioApplication, ioHandleLogiciel);
  }
  void TestePoint() override { module_.TestePoint(); }

  vb::ObjectRef HeldApplication() override { return module_.Application().ref(); }
  std::string TemplateFolder() override { return module_.PathModele(); }

 private:
  k60418::Module module_;
};

}  // namespace player
