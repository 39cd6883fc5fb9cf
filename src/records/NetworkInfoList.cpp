#include "records/NetworkInfoList.h"

namespace cei {

NetworkInfoList::NetworkInfoList() = default;
NetworkInfoList::~NetworkInfoList() = default;

NetworkInfoListWlan::NetworkInfoListWlan() = default;
NetworkInfoListWlan::~NetworkInfoListWlan() = default;

}  // namespace cei
