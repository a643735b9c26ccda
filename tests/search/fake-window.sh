#!/bin/sh
# Stands in for the window program in the search service's test: records each start as one
# line "start:" followed by its arguments, in the file OV_FAKE_WINDOW_LOG names.
echo "start:$*" >>"$OV_FAKE_WINDOW_LOG"
