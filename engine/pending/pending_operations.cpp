#include "engine/pending/pending_operations.h"

namespace engine {

PendingOperations& ProcessPendingOperations() {
    static PendingOperations operations;
    return operations;
}

}  // namespace engine
