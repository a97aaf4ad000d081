#pragma once

// A program-wide service behind an interface: the program's own
// implementation unless another one was installed (tests install scripted
// ones, so no desktop program or modal box gets in their way).

namespace velmora {

template <typename Interface>
Interface*& InstalledService() {
  static Interface* installed = nullptr;
  return installed;
}

// The installed implementation, else one `Default` made on first use.
template <typename Interface, typename Default>
Interface& CurrentService() {
  static Default fallback;
  Interface* installed = InstalledService<Interface>();
  return installed ? *installed : fallback;
}

// Installs `service` (not owned); nullptr restores the default.
template <typename Interface>
void InstallService(Interface* service) {
  InstalledService<Interface>() = service;
}

}  // namespace velmora
