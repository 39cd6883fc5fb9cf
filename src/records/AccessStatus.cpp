#include "records/AccessStatus.h"

namespace cei {

AccessStatus::AccessStatus() = default;
AccessStatus::~AccessStatus() = default;

}  // namespace cei
