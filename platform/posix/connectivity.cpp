#include "platform/connectivity.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

namespace quorvale {

// Online means an interface that is up and has an address other than loopback.
bool machine_is_online() {
  ifaddrs* interfaces = nullptr;
  if (getifaddrs(&interfaces) != 0) return false;
  bool online = false;
  for (const ifaddrs* i = interfaces; i != nullptr && !online; i = i->ifa_next) {
    const bool has_address = i->ifa_addr != nullptr && (i->ifa_addr->sa_family == AF_INET ||
                                                        i->ifa_addr->sa_family == AF_INET6);
    online = has_address && (i->ifa_flags & IFF_UP) != 0 && (i->ifa_flags & IFF_LOOPBACK) == 0;
  }
  freeifaddrs(interfaces);
  return online;
}

}  // namespace quorvale
