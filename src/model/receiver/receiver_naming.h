#pragma once
// Where receiver files live: DataDirectory() + "Receivers/" + "Receiver_" +
// four digits + ".dat" (cReceiver::CreateFileName), with the deleted-receivers
// log "DeletedReceivers.dat" beside them.

#include <cstdint>
#include <string>
#include <vector>
#include "common/export.h"

namespace quindo {

// DataDirectory() + "Receivers/".
QUINDO_EXPORT std::string ReceiversDirectory();
// DataDirectory() + "Receivers/DeletedReceivers.dat".
QUINDO_EXPORT std::string DeletedReceiversLogPath();

// The identities of the receiver files in ReceiversDirectory(), ascending;
// other names (temporaries, the log, "Receiver_00-1.dat") are ignored.
QUINDO_EXPORT std::vector<int16_t> ListStoredReceiverIdentities();

}  // namespace quindo
