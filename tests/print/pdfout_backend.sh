#!/bin/sh
# Print server backend for the tests: "pdfout:/some/dir" stores the job's
# document unchanged as /some/dir/job-<id>.pdf (complete files only).
if [ $# -eq 0 ]; then
    echo 'file pdfout "Unknown" "Test document store"'
    exit 0
fi
dir="${DEVICE_URI#pdfout:}"
if [ $# -ge 6 ]; then
    cat "$6" > "$dir/job-$1.part" || exit 1
else
    cat > "$dir/job-$1.part" || exit 1
fi
mv "$dir/job-$1.part" "$dir/job-$1.pdf"
