#pragma once
// The install counters the product keeps in its settings, updated at the end of every installation.

// "Properties": whether this was a first install (with its date and a fresh run count) or an
// upgrade (whose file associations count as set).
void RecordInstall(bool upgrade);

// Starts the run count after this install anew and counts the install in "Installer". A first
// install also clears the release channel's pending-install record, which it has just fulfilled.
void RecordInstallRun(bool upgrade);
