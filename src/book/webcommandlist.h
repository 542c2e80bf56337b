#pragma once
// Whether a command list may run on behalf of a web page: it may turn pages, move between
// levels, search titles, keep the counter and show notes, but never write files or start
// programs on this machine.
#include "book/linkpagescan.h"

#include <QString>

namespace sorvek {

// True when every item of the list (both branches of a condition) is a counter item, an empty
// item, or a command whose word is none of WAV, PAINT, dir, SAVE, COPY, JS, HISJS, HIS and holds
// no "." (a program) and no "DESKTOP" (which becomes a path).
bool commandListAllowedFromWebPage(const QString &list);

// A link page shown for a web page leads only to http and https addresses: a link to a local
// file or a script is refused (the one link) or left out of the level (with its title).
LinkPageDecision keepWebAddressesOfWebPage(const LinkPageDecision &decision);

} // namespace sorvek
