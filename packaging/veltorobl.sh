#!/bin/sh
# Starts VELTORobl from its own folder beside this launcher's prefix; the
# program makes its folder the current one after resolving a project path.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/veltorobl/VELTORobl" "$@"
