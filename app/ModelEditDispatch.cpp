#include "app/ModelEditDispatch.h"

#include <utility>

namespace ModelEditCommands {
namespace {

std::function<bool(int)>& Handler() {
    static std::function<bool(int)> handler;
    return handler;
}

}  // namespace

void InstallHandler(std::function<bool(int commandId)> handler) { Handler() = std::move(handler); }

bool Run(int commandId) {
    // A copy: the handler may install another while it runs.
    const std::function<bool(int)> handler = Handler();
    return handler ? handler(commandId) : false;
}

}  // namespace ModelEditCommands
