#include "core/session/install_session.h"

void InstallSession::SetDestinationFolder(const TLString& folder) {
    destination_folder_ = folder;
    destination_folder_.RemoveTrailingBackslashes();
    if (!folder.empty()) destination_folder_ += u'\\';
}

InstallSession& InstallSession::Get() {
    static InstallSession session;
    return session;
}
