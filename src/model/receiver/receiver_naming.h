#pragma once
// Where receiver files live: DataDirectory() + "Receivers/" + "Receiver_" +
// four digits + ".dat" (cReceiver::CreateFileName), with the deleted-receivers
// log "DeletedReceivers.dat" beside them.

#include <cstdint>
#include <string>
#include <vector>

namespace quindo {

// DataDirectory() + "Receivers/".
std::string ReceiversDirectory();
// DataDirectory() + "Receivers/DeletedReceivers.dat".
std::string DeletedReceiversLogPath();

// The identities of the receiver files in ReceiversDirectory(), ascending;
// other names (temporaries, the log, "Receiver_00-1.dat") are ignored.
std::vector<int16_t> ListStoredReceiverIdentities();

}  // namespace quindo
