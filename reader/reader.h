#pragma once
// The reader link: transports, the length-prefixed command set and the
// serial reader's STX protocol.

#include "reader/com_transport.h"
#include "reader/commands.h"
#include "reader/hid_transport.h"
#include "reader/stx.h"
#include "reader/types.h"
