// Per-adapter network tweaks: TCP acknowledgement and Nagle off on every adapter's TCP/IP interface
// (Network page), interrupt moderation off on Intel and Realtek cards, Energy Efficient Ethernet
// off (Pro page). Appended by appendNetworkAdapterGroup (group_builders.h).
#pragma once
#include "core/described_tweak.h"

namespace vx {

class VipTcpLatencyTweak final : public DescribedTweak {
 public:
  VipTcpLatencyTweak();
  std::vector<BackupKey> backupKeys() const override;  // every adapter's TCP/IP interface key
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;  // per adapter enumerated now
};

class VipInterruptModerationTweak final : public DescribedTweak {
 public:
  VipInterruptModerationTweak();
  std::vector<BackupKey> backupKeys() const override;  // driver keys of the Intel and Realtek adapters
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;  // per adapter enumerated now
};

class VipDisableEEETweak final : public DescribedTweak {
 public:
  VipDisableEEETweak();
  std::vector<BackupKey> backupKeys() const override;  // every adapter's driver key
  TweakState queryState() override;
  bool apply() override;
  bool revert() override;
  TweakChanges changes() override;  // per adapter enumerated now
};

}  // namespace vx
