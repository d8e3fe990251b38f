#pragma once

#include <functional>

// Turns SIGTERM, SIGINT and SIGHUP into a call of `handler` on the user-interface thread. A session
// that ends without session management terminates its programs this way; the program then ends
// as through "Beenden", so its settings are saved.
void OnTerminationSignal(std::function<void()> handler);
