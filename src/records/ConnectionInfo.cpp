// The destructors are defined here so that each class has one home for its
// virtual table and type information, which the dynamic casts rely on.
#include "records/AssociateInfoWlan.h"
#include "records/ConnectionInfo.h"
#include "records/ConnectionInfoWlan.h"

namespace cei {

ConnectionInfo::ConnectionInfo() = default;
ConnectionInfo::~ConnectionInfo() = default;

ConnectionInfoWlan::ConnectionInfoWlan() = default;
ConnectionInfoWlan::~ConnectionInfoWlan() = default;

AssociateInfoWlan::AssociateInfoWlan() = default;
AssociateInfoWlan::~AssociateInfoWlan() = default;

}  // namespace cei
