#pragma once
// What "send" and "update-program" share: the port, progress on standard
// error, and the exit code of a transfer.

#include "links/serial/transfer_protocol.h"

#include <QString>
#include <functional>

// Opens `port` and runs `transfer` on it. Progress goes to standard error
// as "progress N/50"; the closing message too, in English. Returns 0 when
// the controller took everything, 1 when the port could not be opened or
// the protocol failed.
int runSerialTransfer(const char *command, const QString &port,
                      const std::function<TransferResult(Link &, Clock &, const TransferCallbacks &)> &transfer);
