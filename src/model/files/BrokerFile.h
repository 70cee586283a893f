#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Broker.h"
#include "Collection.h"

namespace quoravel {

// The broker file: fifteen quoted lines per broker, brokers back to back.

// The broker file name remembered in the per-user store, or the default:
// a first load looks for "brokers.brk", a first save writes "brokers.ini"
// (and the caller then remembers that name).
std::string BrokerFileNameToLoad(const std::string& remembered);
std::string BrokerFileNameToSave(const std::string& remembered);

// Records that cannot be read are skipped whole, their numbers (from 1) put
// in `damaged`; a missing file gives an empty list.
Collection<Broker> ReadBrokerFile(const std::filesystem::path& path, std::vector<long>* damaged = nullptr);
// Replaces the file only once the new one is completely written.
void WriteBrokerFile(const std::filesystem::path& path, const Collection<Broker>& brokers);

}  // namespace quoravel
