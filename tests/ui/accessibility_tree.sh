#!/usr/bin/env bash
# Prints the accessible tree of every application on the accessibility bus, one
# line per object: "role|name|text" (text for objects that offer it).
# Needs a D-Bus session whose org.a11y.Bus service can be started.
set -euo pipefail

reply=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
  --method org.a11y.Bus.GetAddress)
bus=$(sed -E "s/^\('(.*)',\)$/\1/" <<<"$reply")

call() {  # destination path method [arguments...]
  local dest=$1 path=$2 method=$3
  shift 3
  gdbus call --address "$bus" --dest "$dest" --object-path "$path" --method "$method" "$@" </dev/null
}

# Extracts the payload of a one-string reply such as "(<'text'>,)" or "('text',)".
unquote() { sed -E "s/^\(<?'(.*)'>?,\)$/\1/"; }

walk() {
  local dest=$1 path=$2
  local role name text=""
  role=$(call "$dest" "$path" org.a11y.atspi.Accessible.GetRoleName | unquote)
  name=$(call "$dest" "$path" org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name |
    unquote)
  if interfaces=$(call "$dest" "$path" org.a11y.atspi.Accessible.GetInterfaces) &&
    grep -q "org.a11y.atspi.Text'" <<<"$interfaces"; then
    text=$(call "$dest" "$path" org.a11y.atspi.Text.GetText -- 0 -1 | unquote)
  fi
  echo "$role|$name|$text"
  local children
  children=$(call "$dest" "$path" org.a11y.atspi.Accessible.GetChildren)
  # GVariant text marks only the first path of a list with "objectpath".
  { grep -oE "'/org/a11y/atspi/accessible/[^']+'" <<<"$children" || true; } | tr -d "'" |
    while read -r child; do walk "$dest" "$child"; done
}

apps=$(call org.a11y.atspi.Registry /org/a11y/atspi/accessible/root \
  org.a11y.atspi.Accessible.GetChildren)
grep -oE "\('[^']+', (objectpath )?'[^']+'\)" <<<"$apps" |
  sed -E "s/\('([^']+)', (objectpath )?'([^']+)'\)/\1 \3/" |
  while read -r dest path; do walk "$dest" "$path"; done
