#!/bin/sh
# The program lives beside its pictures, so that a teacher can replace them in one place.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/quillet/quillet" "$@"
