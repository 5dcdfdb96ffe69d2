#!/usr/bin/env bash
# The assistant in the console, in a fresh Wine prefix: two greetings count the messages through
# memory.json under the prefix's ProgramData (written with CR LF), a question offers its tweak ids
# on one more line, a memory.json over 1 MiB is not read (the next save replaces it), and a chat over standard input answers one Russian question per line.
# Wine decodes command-line arguments with the Unix locale, hence UTF-8 here.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
export LC_ALL=C.UTF-8
e2e_prefix vxctl-ask
memory_file="$WINEPREFIX/drive_c/ProgramData/Vantorix/memory.json"

two_greetings() {
  local first second
  first=$(vx ask "привет") || return 1
  second=$(vx ask "привет") || return 1
  [ "$first" = "Привет! Я локальный AI-ассистент Vantorix. Помню что ты говорил, учусь на твоих оценках. Спроси меня что улучшить." ] ||
    { echo "first: $first"; return 1; }
  [ "$second" = "Снова привет. Сегодня уже 2-е сообщение. Что нужно?" ] || { echo "second: $second"; return 1; }
}
check "two greetings in a fresh prefix: the long one, then the second message" two_greetings

memory_after_greetings() {
  [ -f "$memory_file" ] || { echo "no $memory_file"; return 1; }
  local expected
  expected=$(printf '{\r\n  "userMessagesTotal": 2,\r\n  "topicScore": {\r\n    "greeting": 2\r\n  },\r\n  "topicHelpfulness": {\r\n\r\n  },\r\n  "appliedStats": {\r\n\r\n  }\r\n}\r\n' | od -c)
  [ "$(od -c <"$memory_file")" = "$expected" ] || { cat -A "$memory_file"; return 1; }
  # Saved by replacing: no temporary file is left beside it.
  [ "$(ls "$(dirname "$memory_file")")" = "memory.json" ] || { ls -la "$(dirname "$memory_file")"; return 1; }
}
check "memory.json under ProgramData holds the count and the topic" memory_after_greetings

tweak_ids_line() {
  local out; out=$(vx ask как снизить input lag) || return 1
  grep -q 'Для снижения input lag я бы применил:' <<<"$out" &&
    [ "$(tail -n 1 <<<"$out")" = "твики: perf.usb_power, perf.fso_off, perf.bcd_hpet, perf.dyn_priority" ] ||
    { printf '%s\n' "$out"; return 1; }
}
check "a question offers its tweak ids on the last line" tweak_ids_line

console_chat() {
  local out
  out=$(printf 'Привет\r\nкак снизить input lag\nеще\n\nтелеметрия' | vx ask) || return 1
  # The fourth message overall (the memory goes on), the repeated input-lag answer for "еще", and
  # the last line without a line end still answered.
  grep -qx 'Снова привет. Сегодня уже 4-е сообщение. Что нужно?' <<<"$out" &&
    grep -q '^Я уже разбирал это с тобой выше\. Ещё могу предложить:$' <<<"$out" &&
    grep -qx 'твики: net.vip.intr_moderation' <<<"$out" &&
    grep -qx 'твики: priv.telemetry, priv.diagtrack, priv.advertising_id' <<<"$out" || { printf '%s\n' "$out"; return 1; }
  grep -q '"userMessagesTotal": 7,' "$memory_file" || { cat "$memory_file"; return 1; }
}
check "a chat over standard input answers each line in Russian" console_chat

oversized_memory_is_not_read() {
  local saved out
  saved=$(mktemp)
  cp "$memory_file" "$saved"
  { printf '{\r\n  "userMessagesTotal": 41,\r\n'; head -c 2097152 /dev/zero | tr '\0' ' '; } >"$memory_file"
  out=$(vx ask "привет") || { rm -f "$saved"; return 1; }
  grep -q '"userMessagesTotal": 1,' "$memory_file" && [ "$(stat -c %s "$memory_file")" -lt 4096 ] ||
    { echo "$out"; head -c 200 "$memory_file"; rm -f "$saved"; return 1; }
  cp "$saved" "$memory_file"; rm -f "$saved"
}
check "a memory.json over 1 MiB is not read and the next save replaces it" oversized_memory_is_not_read

usage_mentions_the_shared_memory() {
  local out; out=$(vx help) || return 1
  grep -q '^  vxctl ask \[ВОПРОС\] .*последняя запись' <<<"$out" || { printf '%s\n' "$out"; return 1; }
}
check "the usage text names ask and the last-writer rule" usage_mentions_the_shared_memory

e2e_finish
