#!/bin/bash
# Runs a command beside SNMP agents (net-snmp's snmpd), one per agent file,
# or beside scripted responders (agent files ending in .py, run by python3
# with the address and a file to write once it is bound).
# An agent file holds the agent's answers as "override OID TYPE VALUE" lines;
# each agent gets a private configuration under the state directory and its
# own loopback address at port 161 (the device port the driver asks), chosen
# at random below 127.0.0.0/8 so that tests of several build trees can run
# side by side.  The command finds the address of the agent of "<name>.conf"
# in the environment variable SNMP_AGENT_<NAME> and an address where no agent
# answers in SNMP_NO_AGENT.  The pid file of a responder holds its address.  Every agent is stopped by its pid afterwards.
# usage: with-snmpd.sh <state dir> <agent file>... -- <command> [args...]
set -u
state=$1; shift
agents=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do agents+=("$1"); shift; done
[ $# -gt 0 ] && shift
snmpd=$(command -v snmpd || echo /usr/sbin/snmpd)
[ -x "$snmpd" ] || { echo "snmpd is not installed" >&2; exit 1; }

pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
}
trap stop EXIT

random_address() { echo "127.$((RANDOM % 254 + 1)).$((RANDOM % 254 + 1)).$((RANDOM % 253 + 2))"; }

mkdir -p "$state"
state=$(cd "$state" && pwd)
for file in "${agents[@]}"; do
  name=$(basename "$file"); name=${name%.*}
  dir="$state/$name"
  mkdir -p "$dir/persistent"
  started=
  for _ in $(seq 1 20); do
    address=$(random_address)
    {
      echo "agentAddress udp:$address:161"
      echo "rocommunity tamrik 127.0.0.0/8"
      cat "$file"
    } >"$dir/snmpd.conf"
    rm -f "$dir/snmpd.pid"
    if [[ "$file" == *.py ]]; then
      /usr/bin/python3 "$file" "$address" "$dir/snmpd.pid" </dev/null >"$dir/snmpd.log" 2>&1 &
    else
      # Only the answers of the agent file (and the community check); no MIB
      # files are read.  The pid file appears once the address is bound.
      MIBS= SNMP_PERSISTENT_DIR="$dir/persistent" "$snmpd" -f -C -c "$dir/snmpd.conf" -I override,vacm_conf \
        -M /nonexistent -Lf "$dir/snmpd.log" -p "$dir/snmpd.pid" </dev/null >/dev/null 2>&1 &
    fi
    pid=$!
    for _ in $(seq 1 100); do
      [ -s "$dir/snmpd.pid" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -s "$dir/snmpd.pid" ] && kill -0 "$pid" 2>/dev/null; then
      pids+=("$pid")
      var="SNMP_AGENT_$(echo "$name" | tr 'a-z' 'A-Z' | tr -c 'A-Z0-9\n' '_')"
      export "$var=$address"
      started=1
      break
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  [ -n "$started" ] || { echo "snmpd for $file did not start" >&2; cat "$dir/snmpd.log" >&2; exit 1; }
done
export SNMP_NO_AGENT=$(random_address)
"$@"
